// SPDX-License-Identifier: MIT
// The key filter shared by the lists and result boxes that take no typing.
#pragma once

#include <QStringView>
#include <QtGlobal>

class QWidget;

// Returns `code` when it is Backspace (8) or one of `permitted`, compared code for
// code; otherwise 0, which discards the key.
qint16 KeyFilter(qint16 code, QStringView permitted);

namespace merilon {

// Puts every character typed into `field` (an editable combo box, a line edit or a
// text box) through KeyFilter with an empty set of permitted characters. Keys that
// type nothing (Delete, arrows, Home, End, Tab) keep working, and so do copy and
// select-all; paste, cut, undo, redo, drops and middle-click paste put nothing in.
void applyKeyFilter(QWidget *field);

} // namespace merilon
