#pragma once

#include <cstdint>
#include <string>

namespace zeb {

// The caption a conversion shows while it runs.
inline constexpr const char* ConvertingFileText = "Converting file ...";

// Progress of a long operation that runs without returning to the message loop. The operation
// creates it at its start and destroys it at its end; every value is shown at once. Values are
// 64-bit: a conversion counts to three times its source size.
class ZEBProgress {
public:
    virtual ~ZEBProgress() = default;

    virtual void Create(const std::string& text, int64_t maximum) = 0;
    virtual void Progress(int64_t value) = 0;
    virtual void Destroy() = 0;
};

// A progress display that shows nothing, for batch work without a window.
class ZEBNoProgress : public ZEBProgress {
public:
    void Create(const std::string&, int64_t) override {}
    void Progress(int64_t) override {}
    void Destroy() override {}
};

// Creates a progress display for the lifetime of a scope, and removes it however the scope ends.
class ZEBProgressScope {
public:
    ZEBProgressScope(ZEBProgress& progress, const std::string& text, int64_t maximum)
        : progress_(progress)
    {
        progress_.Create(text, maximum);
    }
    ~ZEBProgressScope() { progress_.Destroy(); }
    ZEBProgressScope(const ZEBProgressScope&) = delete;
    ZEBProgressScope& operator=(const ZEBProgressScope&) = delete;

private:
    ZEBProgress& progress_;
};

}  // namespace zeb
