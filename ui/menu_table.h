#pragma once

// The menu bar as data: every menu, item, caption, shortcut key and
// handler, in one place.

#include <span>

namespace vcurve {

class Form1;

struct MenuItemLayout {
  const char* name;
  const char* caption;       // "-" is a separator line
  const char* shortcut;      // portable key text, "" for none
  void (Form1::*handler)();  // nullptr: choosing the item does nothing
};

struct MenuLayout {
  const char* name;
  const char* caption;  // "&" marks the access key
  std::span<const MenuItemLayout> items;
};

std::span<const MenuLayout> Form1Menus();

}  // namespace vcurve
