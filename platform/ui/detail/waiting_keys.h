// platform/ui/detail/waiting_keys.h: the key presses posted to widgets through the layer and not
// yet delivered, which a window may ask after without taking them from Qt's queue.
#pragma once

#include "platform/base/types.h"

#include <memory>

class QKeyEvent;
class QWidget;

namespace ui_detail {

/// Counts a press of the virtual key vk posted to widget, carried by carrier (the event that
/// takes it through the queue) until UncountPostedKey(carrier): call that when the press is
/// delivered, before its handlers run, and when it is dropped.
void CountPostedKey(const void* carrier, const QWidget* widget, UINT vk);
void UncountPostedKey(const void* carrier);
/// Whether a press of vk posted to widget is counted.
bool PostedKeyWaiting(const QWidget* widget, UINT vk);
/// Posts press, the key-down of vk, to widget and counts it until it is delivered or dropped.
void PostCountedKeyPress(QWidget* widget, std::unique_ptr<QKeyEvent> press, UINT vk);

} // namespace ui_detail
