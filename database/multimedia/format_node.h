// database/multimedia/format_node.h: the format (file type) of a multimedia object, its FORM field.
#pragma once

#include "database/fields/enum_edit_node.h"
#include "database/nodes/outcome.h"

#include <string>

class IMediaFormatHolder;

/// A format word such as "jpeg". A change is stored in lower case and passed on to the
/// multimedia object of the parent (or of the parent's parent, for the format under the file
/// field that describes an object without a format of its own), which refuses it for an
/// embedded object or one in use.
class CFormatNode final : public CEnumEditNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// Save: the edited text in lower case, when it differs from the value, is refused with a
    /// message for an embedded object or one in use (the control's access tells it, the control
    /// shows the stored value again and takes the focus; false); otherwise the object takes it and
    /// it is stored. Load: the control shows the value.
    bool UpdateFromControl(CDataCtl* control, bool save, bool notify) override;
    /// From a GEDCOM value: stored as the file has it; the object is told it in lower case.
    bool SetText(std::string_view text) override;

    /// The program's change of format: done and nothing more for an unchanged text; refused (not
    /// done, with the message) for an embedded object or one in use; otherwise the object takes
    /// the new format and the value becomes it in lower case, marked changed.
    EngineOutcome SetFormat(std::string_view text);

private:
    IMediaFormatHolder* GetHolder() const;
    /// Why the object may not change its format; empty when it may.
    static std::string FormatChangeRefusal(const IMediaFormatHolder* holder);
};
