// app/shell/save_message.h: a failed save of settings or schemes told to the user in the
// words the engine gave.
#pragma once

#include "platform/base/prompt.h"
#include "templates/settings_store.h"

/// Whether the save succeeded; when it did not, its message is shown first.
inline bool CheckSaved(const SaveOutcome& outcome)
{
    if (outcome)
        return true;
    MessageBox(outcome.failure, MB_OK | MB_ICONEXCLAMATION);
    return false;
}
