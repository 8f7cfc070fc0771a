#include "settings/GlobalConfigFile.h"

#include <cerrno>
#include <filesystem>

#include "settings/GlobalConfigTree.h"
#include "platform/FileIO.h"
#include "platform/ReplaceFile.h"
#include "storage/ZEBFile.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

// One 64 KiB cluster: the whole file fits in it.
constexpr int ClusterShift = 16;
constexpr int ClusterCount = 1;

// The tree of a file whose signature holds; false when it does not.
bool ReadSignedTree(const std::string& path, ZEBFileOptions& tree)
{
    ZEBFile file;
    file.Open(path, FileAccess::Read, ClusterShift, ClusterCount);
    int32_t size = file.Size();
    if (size > MaxGlobalConfigSize)
        return false;
    int32_t end = size - SignatureSize;
    if (!file.Verify(0, end))
        return false;
    // Fewer than two signed bytes cannot hold a tree; like the lone end mark, they mean none.
    if (end >= 2)
        tree.Load(file, 0);
    return true;
}

void WriteSignedTree(const std::string& path, const GlobalConfig& config)
{
    ZEBFile file;
    file.Open(path, FileAccess::CreateNew, ClusterShift, ClusterCount);
    int32_t end = BuildGlobalConfigTree(config).Save(file, 0);
    file.Sign(0, end);
    file.Close();
}

}  // namespace

std::string GlobalConfigPath(const std::string& programFolder)
{
    return (std::filesystem::path(programFolder) / "Global.cfg").string();
}

bool LoadGlobalConfig(const std::string& path, ScreenSize screen, GlobalConfig& config)
{
    ZEBFileOptions tree;
    try {
        if (!ReadSignedTree(path, tree))
            return false;
    } catch (const ZEBIOFailure&) {
        return false;
    }
    ReadGlobalConfigTree(tree, screen, config);
    return true;
}

void SaveGlobalConfig(const std::string& path, const GlobalConfig& config)
{
    std::string temporary = path + ".new";
    // Whatever a crash left under that name, a link included, is replaced, never written through.
    RemovePath(temporary);
    try {
        WriteSignedTree(temporary, config);
    } catch (const ZEBIOFailure&) {
        RemovePath(temporary);
        throw;
    }
    if (!ReplaceFile(temporary, path)) {
        int reason = errno;
        RemovePath(temporary);
        throw ZEBIOFailure("replace", path, reason);
    }
}

}  // namespace zeb
