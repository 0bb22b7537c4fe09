// database/nodes/change_hint.h: the hints of change notices, the one list of what each number
// says happened; every sender and every receiver of a notice names its hint from here.
#pragma once

/// The hint of a change notice: IDataObserver::OnDataChanged, the shell's BroadcastUpdate and
/// every window's OnUpdate carry it as an LPARAM or a long, which the enumeration converts to.
/// The numbers are fixed: the framework's own first update of a view sends 0 as a number.
///
/// Three numbers (0, 6 and 9) are sent for more than one reason: each reason has its own name,
/// and a sender uses the name of what it did. A receiver cannot tell the reasons apart, so it
/// compares with (or names in its case label) any name of the number and acts for all of them.
enum ChangeHint : long {
    /// An embedded item moved; the item marks the document modified.
    kHintItemMoved = 0,
    /// The records window's include options (which back-links are listed) changed.
    kHintIncludeOptionsChanged = 0,
    /// A window asks itself to show its content afresh (the framework's first update of a view
    /// sends the same number).
    kHintRefresh = 0,
    /// Records were edited; the changed-records list holds them and the document is modified.
    kHintRecordsEdited = 1,
    /// The data set is about to be cleared: every record held on to must be let go now.
    kHintDataSetClearing = 2,
    /// A file was loaded (opened, or merged into the data set).
    kHintFileLoaded = 3,
    /// The printer or the page set-up changed.
    kHintPrinterChanged = 4,
    /// Diagram text options were applied.
    kHintDiagramTextApplied = 5,
    /// The records window's display options were applied.
    kHintDisplayOptionsApplied = 6,
    /// Every view was redrawn (and so is to be painted afresh).
    kHintViewsRedrawn = 6,
    /// The list of diagram text schemes was replaced.
    kHintTextSchemesReplaced = 7,
    /// An embedded item changed; the item is the notice's object.
    kHintItemChanged = 8,
    /// The data set was cleared (it follows kHintDataSetClearing).
    kHintDataSetCleared = 9,
    /// The named lists changed (also sent by the general preferences page once it has created
    /// the lists its auto-create names ask for).
    kHintNamedListsChanged = 9,
};
