#pragma once

#include "text.h"

class QLabel;
class QLineEdit;

// Each control keeps its own copy of the texts it is given.
void setCaption(QLabel* label, const Text& text);
// Exactly what the box shows, as UTF-8: nothing trimmed, nothing normalised.
Text getContent(const QLineEdit* box);
// Replaces the whole content; the box keeps the focus.
void setContent(QLineEdit* box, const Text& text);
