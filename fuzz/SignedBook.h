#pragma once

// When a fuzz input's header describes a book, both block signatures are computed anew in
// place, so that mutations reach the tables, the options tree and the text instead of stopping
// at the signature check.
#include <string>

#include "storage/BookHeader.h"
#include "storage/ZEBFile.h"

namespace zeb::fuzz {

inline void SignIfBook(const std::string& path)
{
    ZEBFile file;
    file.Open(path, FileAccess::ReadWrite, 16, 3);
    BookHeader header = BookHeader::Read(file);
    if (header.IsBook(file.Size())) {
        int32_t options = int32_t(header.optionsOffset);
        file.Sign(0, options - SignatureSize);
        if (file.Size() - SignatureSize >= options)
            file.Sign(options, file.Size() - SignatureSize);
    }
    file.Close();
}

}  // namespace zeb::fuzz
