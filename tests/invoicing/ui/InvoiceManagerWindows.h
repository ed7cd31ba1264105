#pragma once
// The Invoice Manager with the windows it opens (entry, quick view, view window, find dialog), on
// a test's window context. The entry window picks customers and products through the functions
// the test hands in.

#include "invoicing/ui/InvoiceEntry.h"
#include "invoicing/ui/InvoiceManager.h"
#include "invoicing/ui/InvoiceView.h"
#include "invoicing/ui/QuickView.h"
#include "mail/MailConnection.h"
#include "support/ui/TestWindowContext.h"
#include "widgets/FindBox.h"

namespace invoicing::ui {

struct InvoiceManagerWindows {
    InvoiceManagerWindows(testsupport::TestWindowContext& w,
                          decltype(InvoiceEntryServices::pickCustomer) pickCustomer,
                          decltype(InvoiceEntryServices::pickProduct) pickProduct)
        : findBox{w.engine, w.prompts, w.context.showHelp},
          entry{{w.engine, w.prompts, w.clock, w.state, w.context.showHelp, std::move(pickCustomer),
                 std::move(pickProduct), [] {}}},
          mail{w.prompts, w.clock},
          manager{{w.engine, w.prompts, w.clock, w.state, w.printer, mail, w.statusWindow, findBox,
                   w.context.showHelp},
                  quickView,
                  view,
                  entry} {}

    widgets::TFindBox findBox;
    TQView quickView;
    TProdInv entry;
    mail::MailConnection mail;
    Trtedit view;
    Tinvlist manager;
};

}  // namespace invoicing::ui
