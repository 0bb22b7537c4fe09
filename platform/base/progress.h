// platform/base/progress.h: how long operations report progress without knowing the window
// that shows it.
#pragma once

#include <string>

class IProgress {
public:
    virtual ~IProgress() = default;
    virtual void BeginProgress(long range, const std::string& text) = 0;
    virtual void SetProgressPos(long pos) = 0;
    virtual void ResetProgress(long range, const std::string& text) = 0;
    virtual void EndProgress() = 0;
};
