#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "storage/ZEBCrypt.h"
#include "storage/ZEBFileOptions.h"

namespace zeb {

// What ties a recovery file to its book: the part of the book that never changes, known by its
// first block signature, and where its options block starts.
struct BookIdentity {
    std::array<uint8_t, SignatureSize> textSignature{};
    int32_t optionsOffset = 0;

    bool operator==(const BookIdentity&) const = default;
};

// The recovery file that makes saving a book's state crash-safe without changing the book's
// format. It is the book's path + ".saving" and holds the options block a save is about to
// write into the book:
//
//   offset  bytes  contents
//   0       16     the book's first block signature
//   16      4      the book's OptionsOffset (u32)
//   20      n      the options block, serialised as the book will hold it
//   20 + n  16     the block signature of those n bytes (the book's second signature to be)
//
// A save writes it under the temporary name path + ".saving.new", syncs it and renames it into
// place (which also makes its name durable), and only then rewrites the book's options block,
// syncs the book and removes the recovery file. So at every instant either the book's options
// block verifies, or the recovery file does and belongs to the book. Opening a book whose
// options block fails its signature takes the state from a recovery file that belongs to it and
// verifies; any other recovery file is removed, never applied.
class ZEBBookRecovery {
public:
    ZEBBookRecovery(const std::string& bookPath, const BookIdentity& book);

    // Writes options as the recovery file, durably. ZEBIOFailure.
    void Write(const ZEBFileOptions& options) const;
    // The state held by a recovery file that belongs to the book and verifies; nothing when
    // there is none, or it is another book's, damaged or unreadable.
    std::optional<ZEBFileOptions> Read() const;
    // Removes the recovery file and a temporary one a save left behind. A name that cannot be
    // removed stays: it is checked before it is ever applied.
    void Discard() const noexcept;

private:
    std::string path_;
    std::string temporary_;
    BookIdentity book_;
};

}  // namespace zeb
