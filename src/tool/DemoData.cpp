#include "tool/DemoData.h"

namespace tool {

using enum PayingHabit;

nlohmann::json DemoCompanySettings() {
    return {
        {"name", "Harbor Light Supply Co."},
        {"address", {"1420 Commercial Street", "Portland, ME 04101", "", "", "(207) 555-0100"}},
        {"email", "billing@harborlightsupply.example"},
        {"date_format", "M"},
        {"next_invoice", "5001"},
        {"charge_tax", true},
        {"tax_rate", "5.5"},
        {"tax_heading", "Sales Tax:"},
        {"default_terms", "Net 30 Days"},
        {"aging_days", {"30", "60", "90"}},
        {"aging_captions", {"Current:", "31-60:", "61-90:"}},
    };
}

const std::vector<DemoCustomer>& DemoCustomers() {
    static const std::vector<DemoCustomer> customers = {
        {"1001", "Anchor Bay Marina", "Marina", "12 Marina Road", "South Portland, ME 04106",
         "(207) 555-0101", "office@anchorbaymarina.example", "", false, "20000.00", Prompt, 5},
        {"1002", "Bayside Lobster Co.", "Seafood", "88 Wharf Lane", "Portland, ME 04101",
         "(207) 555-0102", "", "Net 15 Days", false, "", Late, 3},
        {"1003", "Blue Heron Cafe", "Restaurant", "310 Fore Street", "Portland, ME 04101",
         "(207) 555-0103", "", "", false, "", Prompt, 2},
        {"1004", "Café Lumière", "Restaurant", "41 Exchange Street", "Portland, ME 04101",
         "(207) 555-0104", "bonjour@cafelumiere.example", "Net 10 Days", false, "", Prompt, 2},
        {"1005", "Cape Elizabeth Boatworks", "Boatyard", "7 Shore Road", "Cape Elizabeth, ME 04107",
         "(207) 555-0105", "yard@capeboatworks.example", "Net 45 Days", false, "", Slow, 5},
        {"1006", "Casco Harbor Inn", "Lodging", "225 Commercial Street", "Portland, ME 04101",
         "(207) 555-0106", "frontdesk@cascoharborinn.example", "", false, "", Prompt, 2},
        {"1007", "Chandler & Reyes Construction", "Contractor", "560 Riverside Street",
         "Portland, ME 04103", "(207) 555-0107", "", "", false, "", Partial, 4, "ChandReyes"},
        {"1008", "Coastal Paint & Glass", "Retail", "1195 Forest Avenue", "Portland, ME 04103",
         "(207) 555-0108", "", "2% 10, Net 30 Days", false, "", Prompt, 3, "CoastalPG"},
        {"1009", "Deering Oaks Hardware", "Retail", "62 Park Avenue", "Portland, ME 04102",
         "(207) 555-0109", "orders@deeringoakshw.example", "", false, "20000.00", Prompt, 4},
        {"1010", "Driftwood Property Management", "Property", "400 Congress Street",
         "Portland, ME 04101", "(207) 555-0110", "ap@driftwoodpm.example", "Net 60 Days", false, "",
         Slow, 3},
        {"1011", "Eastern Prom Yacht Club", "Club", "1 Cutter Street", "Portland, ME 04101",
         "(207) 555-0111", "steward@epyc.example", "", false, "", Ahead, 3},
        {"1012", "Falmouth Fire Department", "Municipal", "271 Falmouth Road", "Falmouth, ME 04105",
         "(207) 555-0112", "", "Net 60 Days", true, "", Slow, 2},
        {"1013", "Fore Street Oyster Bar", "Restaurant", "5 Portland Pier", "Portland, ME 04101",
         "(207) 555-0113", "", "", false, "", Prompt, 1},
        {"1014", "Gorham Family Dentistry", "Office", "18 State Street", "Gorham, ME 04038",
         "(207) 555-0114", "", "", false, "", Prompt, 1},
        {"1015", "Granite Ledge Landscaping", "Contractor", "950 County Road",
         "Westbrook, ME 04092", "(207) 555-0115", "", "", false, "", Prompt, 2},
        {"1016", "Harpswell Sea Kayak Tours", "Outfitter", "3 Basin Point Road",
         "Harpswell, ME 04079", "(207) 555-0116", "paddle@harpswellkayak.example", "", false, "",
         Prompt, 2},
        {"1017", "Island Ferry Services", "Transport", "56 Commercial Street", "Portland, ME 04101",
         "(207) 555-0117", "purchasing@islandferry.example", "Net 45 Days", false, "", Partial, 4},
        {"1018", "Kettle Cove Bakery", "Retail", "22 Ocean House Road", "Cape Elizabeth, ME 04107",
         "(207) 555-0118", "", "Due on Receipt", false, "", Counter, 2},
        {"1019", "Lighthouse Animal Hospital", "Office", "707 Route 1", "Scarborough, ME 04074",
         "(207) 555-0119", "", "", false, "", Prompt, 1},
        {"1020", "Longfellow Charter School", "School", "130 Stevens Avenue", "Portland, ME 04102",
         "(207) 555-0120", "business@longfellowcs.example", "Net 45 Days", true, "", Slow, 2},
        {"1021", "Mackworth Electric", "Contractor", "9 Mackworth Street", "Portland, ME 04103",
         "(207) 555-0121", "", "", false, "", Slow, 3},
        {"1022", "Müller Metalworks", "Manufacturer", "14 Bishop Street", "Portland, ME 04103",
         "(207) 555-0122", "info@muellermetal.example", "", false, "", Prompt, 2},
        {"1023", "North Atlantic Fisheries", "Seafood", "2 Custom House Wharf",
         "Portland, ME 04101", "(207) 555-0123", "", "Net 15 Days", false, "", Late, 4},
        {"1024", "Old Port Print Shop", "Retail", "77 Middle Street", "Portland, ME 04101",
         "(207) 555-0124", "", "", false, "", Prompt, 1},
        {"1025", "Peaks Island Community Center", "Nonprofit", "129 Island Avenue",
         "Peaks Island, ME 04108", "(207) 555-0125", "", "", true, "", Prompt, 1},
        {"1026", "Pine Tree Plumbing & Heating", "Contractor", "480 Warren Avenue",
         "Portland, ME 04103", "(207) 555-0126", "dispatch@pinetreeph.example", "", false, "",
         Partial, 3, "PineTreePH"},
        {"1027", "Portland Rowing Club", "Club", "8 Back Cove Trail", "Portland, ME 04101",
         "(207) 555-0127", "", "", false, "", Prompt, 1},
        {"1028", "Presumpscot Brewing Co.", "Manufacturer", "35 Canal Street",
         "Westbrook, ME 04092", "(207) 555-0128", "", "", false, "", Slow, 2},
        {"1029", "Riverside Auto Body", "Automotive", "1201 Riverside Street", "Portland, ME 04103",
         "(207) 555-0129", "", "", false, "", Stopped, 3},
        {"1030", "Saco Bay Seafood Market", "Seafood", "16 Pine Point Road",
         "Scarborough, ME 04074", "(207) 555-0130", "", "", false, "", Prompt, 2},
        {"1031", "Scarborough Marsh Nature Center", "Nonprofit", "92 Pine Point Road",
         "Scarborough, ME 04074", "(207) 555-0131", "", "", true, "", Prompt, 1},
        {"1032", "Sebago Lake Cottages", "Lodging", "400 Lake Road", "Standish, ME 04084",
         "(207) 555-0132", "stay@sebagocottages.example", "", false, "", Slow, 2},
        {"1033", "Spring Point Dive Shop", "Outfitter", "2 Fort Road", "South Portland, ME 04106",
         "(207) 555-0133", "", "COD", false, "", Counter, 2},
        {"1034", "Stroudwater Tavern", "Restaurant", "1800 Congress Street", "Portland, ME 04102",
         "(207) 555-0134", "", "", false, "", Prompt, 1},
        {"1035", "Tidewater Veterinary Clinic", "Office", "45 Bridge Street", "Yarmouth, ME 04096",
         "(207) 555-0135", "", "", false, "", Prompt, 1},
        {"1036", "Two Lights Sailing School", "School", "11 Two Lights Road",
         "Cape Elizabeth, ME 04107", "(207) 555-0136", "crew@twolightssailing.example", "", false,
         "", Prompt, 2},
        {"1037", "Union Wharf Rigging", "Boatyard", "4 Union Wharf", "Portland, ME 04101",
         "(207) 555-0137", "", "", false, "20000.00", Prompt, 3},
        {"1038", "Westbrook Machine & Tool", "Manufacturer", "300 Main Street",
         "Westbrook, ME 04092", "(207) 555-0138", "", "", false, "", Late, 3, "WestbrookM"},
        {"1039", "Whitehead Yacht Services", "Boatyard", "19 Spring Street",
         "South Portland, ME 04106", "(207) 555-0139", "service@whiteheadyacht.example",
         "Net 30 Days EOM", false, "20000.00", Prompt, 4},
        {"1040", "Yarmouth Clam Shack", "Restaurant", "55 Main Street", "Yarmouth, ME 04096",
         "(207) 555-0140", "", "Due on Receipt", false, "", Counter, 1},
    };
    return customers;
}

const std::vector<DemoProduct>& DemoProducts() {
    static const std::vector<DemoProduct> products = {
        {"NL-12", "Nylon dock line 1/2in x 25ft", "24.95", true},
        {"NL-58", "Nylon dock line 5/8in x 35ft", "39.50", true},
        {"FN-08", "Vinyl fender 8 x 20in", "32.75", true},
        {"FN-12", "Vinyl fender 12 x 34in", "74.00", true},
        {"CL-06", "Stainless cleat 6in", "18.40", true},
        {"CL-10", "Stainless cleat 10in", "29.90", true},
        {"LED-D4", "LED dock light, 4 pack", "189.00", true},
        {"LED-SP", "LED spreader light", "112.50", true},
        {"BP-1000", "Bilge pump 1000 GPH", "86.25", true},
        {"BP-2000", "Bilge pump 2000 GPH", "149.00", true},
        {"MR-600", "Marine rope 3/8in x 600ft spool", "214.00", true},
        {"EP-QT", "Epoxy resin kit, quart", "58.80", true},
        {"AF-GAL", "Antifouling paint, gallon", "164.95", true},
        {"VR-QT", "Spar varnish, quart", "36.50", true},
        {"SB-25", "Stainless bolts 3/8in, box of 25", "21.60", true},
        {"AN-22", "Galvanized anchor 22 lb", "96.00", true},
        {"CH-30", "Anchor chain 1/4in x 30ft", "118.40", true},
        {"LJ-AD", "Life jacket, adult Type III", "44.95", true},
        {"FE-5", "Fire extinguisher 5 lb ABC", "62.00", true},
        {"BT-G31", "Deep-cycle battery Group 31", "239.00", true},
        {"SP-50", "Shore power cord 30A x 50ft", "178.00", true},
        {"DEL", "Local delivery", "45.00", false},
        {"LAB-HR", "Labor, per hour", "85.00", false},
        {"WINT", "Winterization service", "325.00", false},
        {"DOCK-M", "Dock section rental, per month", "150.00", false},
    };
    return products;
}

const std::vector<DemoService>& DemoServices() {
    static const std::vector<DemoService> services = {
        {"Dock lighting repair: replaced two fixtures on the main float and rewired the junction "
         "box at the gangway.",
         "Dock lighting repair", 480, false},
        {"Haul-out and pressure wash; bottom inspected and two coats of antifouling paint "
         "applied. Paint supplied by us.",
         "Haul-out and bottom paint", 1250, true},
        {"Annual inspection of fire extinguishers and life jackets; tags renewed and two "
         "extinguishers recharged.",
         "Safety equipment inspection", 175, false},
        {"Shore power pedestal installed at slips 9 and 10, with breakers, cords and "
         "inspection.",
         "Shore power installation", 940, true},
        {"Indoor winter storage, November through April, including shrink wrap.", "Winter storage",
         1100, false},
        {"Standing and running rigging inspected; worn shackles and a halyard replaced.",
         "Rigging inspection", 260, false},
        {"Emergency call-out after the storm: pumped out and secured two vessels.",
         "Emergency service call", 395, false},
    };
    return services;
}

const std::vector<DemoDeposit>& DemoDeposits() {
    // A builder's deposit for a coming job, and the yacht club's prepayment for the season, which
    // leaves it with a credit balance.
    static const std::vector<DemoDeposit> deposits = {{"1007", 500, 45}, {"1011", 3000, 10}};
    return deposits;
}

}  // namespace tool
