// SPDX-License-Identifier: MIT
// A fit, or one field of it, read as drawings and texts write it after the size: the
// fit window takes a whole designation typed or pasted into its size box. No widgets.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace merilon::fits {

// A field of the fit window's lists: its letter's place in holeLetters or shaftLetters
// and its grade (-1 for IT01 … 18).
struct FieldChoice
{
    int letter = 0;
    int grade = 0;
    friend bool operator==(const FieldChoice &, const FieldChoice &) = default;
};

// What a designation says: the size as written, and the fields it names.
struct FitNotation
{
    QString size;                     // «25», without the diameter sign
    std::optional<FieldChoice> hole;  // named: «H7», «H7/f6»
    std::optional<FieldChoice> shaft; // named: «f6», «H7/f6»
    QString error;                    // not empty: what was not understood, and what was expected
};

// Reads «25», «Ø25 H7/f6», «25H7/f6», «⌀25 H7 / f6», «25 h6», «25 JS7/h6» and the fit
// window's own «Ø25 H7(+0,021)/f6(-0,020 -0,033)» (the deviations in brackets are
// passed over: the fields set them). A bare size names no field.
FitNotation readFitNotation(QStringView text);

// Whether a typed text is more than a size: it has a letter, a diameter sign, a slash
// or a bracket. The fit window applies such a text on Enter, or at once when pasted.
bool looksLikeDesignation(QStringView text);

// The message while a designation is typed and not yet applied.
QString pendingDesignationText();

} // namespace merilon::fits
