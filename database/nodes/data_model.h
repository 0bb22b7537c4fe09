// database/nodes/data_model.h: the one data set of the program's run: start-up, reset and shutdown.
#pragma once

#include "database/nodes/outcome.h"

class IDataObserver;

/// The data set lives from start-up to exit: nine record-type roots (CRootNode, in table
/// order HEAD, FAM, INDI, OBJE, NOTE, REPO, SOUR, SUBM, SUBN, each holding the records of its
/// type), reset to empty for every New and Open and torn down at exit.

/// Loads the field-definition dictionary, keeps the observer, creates the nine roots, sizes
/// the record-id tables and runs the record classes' start-up checks (the individual's, the
/// family's, the personal name's) and reads the locale's date conventions. Not done when any
/// step fails, a table without the definitions the records need included (with the message of
/// a data file that cannot be read); change tracking stays off until the first reset.
EngineOutcome InitDataModel(IDataObserver* observer);
/// Empties the relationship cache, frees every record still held, the roots and the dictionary.
void TermDataModel();
/// Empties the data set: hides the user-defined fields of the previous file, resets the
/// record-id states, the change lists and the citations, frees every record, turns change
/// tracking on and clears the named lists; node memory goes back to the system when no node is
/// left, so that the next file loads into memory in order.
void DeleteAllRecords();
/// True while a reset destroys whole trees, so that the destructors of chained fields skip
/// their bookkeeping.
bool IsClearingDataSet();
/// Installs the factories of the node classes this library holds.
void RegisterDataNodeClasses();
