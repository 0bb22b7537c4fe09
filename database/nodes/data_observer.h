// database/nodes/data_observer.h: the one interface through which the data set reports a change.
#pragma once

#include "platform/base/types.h"

class CObject;

/// The application implements it and forwards each call to its broadcast of updates; the data
/// set knows one observer, given at start-up.
class IDataObserver {
public:
    virtual ~IDataObserver() = default;
    /// sender caused the change (null for the data set itself); hint is a ChangeHint
    /// (change_hint.h); object is what the hint refers to, or null; modify tells
    /// whether the document becomes modified.
    virtual void OnDataChanged(CObject* sender, LPARAM hint, CObject* object, bool modify) = 0;
};
