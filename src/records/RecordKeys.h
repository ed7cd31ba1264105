#pragma once
// The keys of a record type, listed once. One table per record type gives each key's width,
// whether the index allows duplicates and which text it is made of, and the orders in which an
// add and an update write the keys. The record's key builder and its file's key descriptors are
// both read from the table, so the key text and the index cannot disagree about a width.

#include <string>
#include <vector>

#include "base/RecordField.h"
#include "engine/Engine.h"

namespace records {

inline constexpr bool kUnique = false;
inline constexpr bool kDuplicates = true;

// How a field's text becomes a key: Folded is trimmed and upper-cased (Windows-1252 letters), so
// "a12" and "A12 " share a key; AsStored keeps the text as the record holds it (the sortable
// dates, whose blanks are part of the order). Both are padded with blanks to the key's width
// ("%-Ns", which never shortens) and held in at most 30 characters.
enum class KeyForm { Folded, AsStored };

template <typename Record>
struct KeyColumn {
    int width;  // the key text is padded to this width
    bool duplicates;
    std::string (Record::*text)() const;
    KeyForm form = KeyForm::Folded;
    // The index's key length when the index leaves room beyond the width (the invoice file's key
    // code); 0 when it is the width.
    int indexLength = 0;
};

template <typename Record>
struct KeyTable {
    std::vector<KeyColumn<Record>> keys;  // keys[0] is key 1
    std::vector<int> addOrder;            // key numbers in the order an add writes them
    std::vector<int> updateOrder;         // key numbers in the order an update replaces them

    // Key `keyNumber` (1-based) of `record`; empty for a number the table does not have.
    std::string Build(const Record& record, int keyNumber) const {
        if (keyNumber < 1 || keyNumber > static_cast<int>(keys.size())) return {};
        const KeyColumn<Record>& key = keys[keyNumber - 1];
        const std::string text = (record.*key.text)();
        return key.form == KeyForm::Folded ? base::KeyText(text, key.width)
                                           : base::PaddedKeyText(text, key.width);
    }

    std::vector<engine::KeyDescriptor> Descriptors() const {
        std::vector<engine::KeyDescriptor> descriptors;
        for (const KeyColumn<Record>& key : keys)
            descriptors.push_back(
                {static_cast<uint8_t>(key.indexLength ? key.indexLength : key.width),
                 key.duplicates});
        return descriptors;
    }
};

}  // namespace records
