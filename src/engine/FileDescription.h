#pragma once
// What the window-side routines need to know about one file block: its name, record layout size,
// keys and how a record turns into each of its keys. The engine itself knows none of this.

#include <string>
#include <vector>

#include "engine/Engine.h"

namespace engine {

struct FileDescription {
    std::string name;                 // file block name, e.g. "12C" or "Company"
    std::string statusCaption;        // caption of the rebuild status window, e.g. "Customers"
    int recordLength = 0;
    std::vector<KeyDescriptor> keys;  // keys[0] describes key 1
    KeyBuilder buildKey;              // record -> key N (1-based), at most 30 bytes
    std::vector<int> addOrder;        // key numbers in the order an add writes them
    std::vector<int> updateOrder;     // key numbers in the order an update replaces them
    std::string creationNotice;       // shown under "New Company" before creating; empty: silent

    int keyCount() const { return static_cast<int>(keys.size()); }
};

}  // namespace engine
