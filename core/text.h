#pragma once

#include <string>

// A text is a UTF-8 byte string held by value; comparison is exact on the bytes.
using Text = std::string;
