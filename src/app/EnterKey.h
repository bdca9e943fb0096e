#pragma once

#include <functional>

class QAbstractItemView;

namespace tavirel::app {

// Enter (either key) on a list or tree does what its double click (or click) does, so a herb
// or formula can be opened from the keyboard. The key is taken only when an item is current.
void onEnter(QAbstractItemView* view, std::function<void()> action);

} // namespace tavirel::app
