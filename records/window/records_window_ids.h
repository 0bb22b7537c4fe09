// records/window/records_window_ids.h: the commands of the records window's menu and toolbar.
#pragma once

#include "platform/base/types.h"

inline constexpr UINT ID_REC_DELETE = 32801, ID_REC_MOVE_UP = 32833, ID_REC_MOVE_DOWN = 32834,
                      ID_REC_REFRESH = 32811;
inline constexpr UINT ID_SORT_ALPHABETICAL = 32836, ID_SORT_CREATION = 32983,
                      ID_SORT_LAST_UPDATE = 32984;
inline constexpr UINT ID_RECORD_WINDOW_OPTIONS = 32965;
inline constexpr UINT ID_NAMED_LISTS_PANE = 33049, ID_NEW_NAMED_LIST = 33050,
                      ID_DELETE_NAMED_LIST = 33051, ID_ADD_TO_SELECTED_LIST = 33053,
                      ID_NAMED_LIST_PROPERTIES = 33058, ID_EMPTY_NAMED_LIST = 33059,
                      ID_MAKE_LIST_ORDER_DEFAULT = 33088, ID_DELETE_LIST_RECORDS = 33090;
