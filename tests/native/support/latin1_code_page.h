#pragma once
// Code page 28591 (Latin-1) in place of the system's: every byte is a character of its own, and
// only U+0000 to U+00FF can be written in it.

#include "store/text_encoding.h"

namespace vantry::test {

AnsiCodePage Latin1CodePage();

}  // namespace vantry::test
