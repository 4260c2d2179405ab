#pragma once

// The pages a print dialog asked for, 1-based and inclusive: the range the
// user gave, else all of them.

#include <QPrinter>
#include <algorithm>

namespace vcurve::profileui {

struct PrintedRange {
  int first = 1, last = 1;
};

inline PrintedRange printedRange(const QPrinter& printer, int pageCount) {
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
    return {printer.fromPage(), std::max(printer.fromPage(), printer.toPage())};
  }
  return {1, pageCount};
}

}  // namespace vcurve::profileui
