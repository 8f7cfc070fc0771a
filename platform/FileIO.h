#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zeb {

// Moving bytes between memory and open files, and the other changes the program makes to
// files. Interrupted and partial transfers are retried; a false result (or -1) leaves the
// system's reason in errno, 0 when a read met the end of the file.

// Reads count bytes at position; fewer only at the end of the file. -1 on an error.
int64_t ReadAt(int handle, int64_t position, void* data, size_t count);
// Reads exactly count bytes at position; false when the file ends first or on an error.
bool ReadFullyAt(int handle, int64_t position, void* data, size_t count);
// Writes all count bytes at position.
bool WriteAt(int handle, int64_t position, const void* data, size_t count);
bool TruncateHandle(int handle, int64_t size);
bool SyncHandle(int handle);
// Renames a file over another in one step, then makes the rename durable with its folder.
bool RenamePath(const std::string& from, const std::string& to);
// Removes the name itself (a link, never what it points to); true when it is gone.
bool RemovePath(const std::string& path);
// Whether anything (a file, a folder, a link, even a dangling one) has that name.
bool NameExists(const std::string& path);

// For tests: the next `changes` writes, truncations, syncs, renames and removals succeed and
// every one after them fails with EIO, as if the program had stopped there. A negative count
// (the default) lets every change through.
void SetFileChangeBudgetForTesting(int64_t changes);

}  // namespace zeb
