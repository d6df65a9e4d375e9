// SPDX-License-Identifier: MIT
#include "fits/fit_notation.h"

#include "fits/fit.h"

#include <algorithm>

namespace merilon::fits {

namespace {

using namespace Qt::StringLiterals;

const QString expected = u"ожидается размер и поля, например «Ø25 H7/f6» или «25 h6»"_s;

bool isDiameterSign(QChar c)
{
    return c == u'Ø' || c == u'ø' || c == u'⌀' || c == u'∅';
}

// The text without the deviations in brackets that follow a field; none if a bracket
// is left open or closed without opening.
std::optional<QString> withoutBrackets(QStringView text)
{
    QString kept;
    int depth = 0;
    for (QChar c : text) {
        if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            if (--depth < 0)
                return std::nullopt;
        } else if (depth == 0) {
            kept.append(c);
        }
    }
    return depth == 0 ? std::optional(kept) : std::nullopt;
}

// A field such as «H7», «js12», «h01» for the hole's (upper case) or the shaft's
// letters; `error` says what is wrong with it.
std::optional<FieldChoice> readField(const QString &field, bool hole, QString &error)
{
    qsizetype split = 0;
    while (split < field.size() && field[split].isLetter())
        ++split;
    const QString letter = field.left(split);
    const QString grade = field.mid(split);
    const auto &letters = hole ? holeLetters : shaftLetters;
    const auto found = std::find(letters.begin(), letters.end(), letter.toStdU16String());
    const bool digits = !grade.isEmpty() && grade.size() <= 2
        && std::all_of(grade.begin(), grade.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (letter.isEmpty() || !digits) {
        error = u"Поле «%1» не понято: %2."_s.arg(field, expected);
        return std::nullopt;
    }
    if (found == letters.end()) {
        error = hole ? u"Поля отверстия «%1» нет: буквы отверстий A … Z и JS, прописные."_s.arg(field)
                     : u"Поля вала «%1» нет: буквы валов a … z и js, строчные."_s.arg(field);
        return std::nullopt;
    }
    int number = 0;
    if (grade == u"01") {
        number = finestGrade;
    } else if (grade.size() == 2 && grade[0] == u'0') {
        error = u"Квалитет «%1» не понят: квалитеты 01, 0, 1 … 18."_s.arg(grade);
        return std::nullopt;
    } else {
        number = grade.toInt();
    }
    if (number > coarsestGrade) {
        error = u"Квалитета %1 стандарт не устанавливает: квалитеты 01, 0, 1 … 18."_s.arg(number);
        return std::nullopt;
    }
    return FieldChoice{int(found - letters.begin()), number};
}

} // namespace

bool looksLikeDesignation(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.isLetter() || isDiameterSign(c) || c == u'/' || c == u'(' || c == u')';
    });
}

QString pendingDesignationText()
{
    return u"Обозначение посадки или поля: Enter — показать."_s;
}

FitNotation readFitNotation(QStringView text)
{
    FitNotation notation;
    // What the window copies goes on after a colon: «Ø25 H7(+0,021)/f6(-0,020 -0,033): отверстие …».
    QStringView rest = text.left(text.indexOf(u':')).trimmed();
    if (!rest.isEmpty() && isDiameterSign(rest.front()))
        rest = rest.mid(1).trimmed();
    qsizetype end = 0;
    while (end < rest.size() && (rest[end].isDigit() || rest[end] == u',' || rest[end] == u'.'))
        ++end;
    notation.size = rest.left(end).toString();
    const QStringView fields = rest.mid(end).trimmed();
    if (fields.isEmpty()) {
        if (end == 0 && !rest.isEmpty())
            notation.error = u"«%1» не понято: %2."_s.arg(text.trimmed(), expected);
        return notation; // a bare size, or nothing
    }
    if (end == 0) {
        notation.error = u"Не понят размер в «%1»: %2."_s.arg(text.trimmed(), expected);
        return notation;
    }
    std::optional<QString> plain = withoutBrackets(fields);
    if (!plain) {
        notation.error = u"Скобки в «%1» не закрыты: %2."_s.arg(fields.toString(), expected);
        return notation;
    }
    plain->remove(u' ');
    const QStringList parts = plain->split(u'/');
    if (parts.size() > 2 || parts.contains(QString())) {
        notation.error = u"«%1» не понято: %2."_s.arg(fields.toString(), expected);
        return notation;
    }
    const bool upper = !parts.first().isEmpty() && parts.first()[0].isUpper();
    if (parts.size() == 2 && (!upper || !parts[1][0].isLower())) {
        notation.error = u"В посадке «%1» первым пишется поле отверстия (прописные буквы), за косой чертой — "
                         u"поле вала (строчные): «H7/f6»."_s.arg(*plain);
        return notation;
    }
    QString error;
    const std::optional<FieldChoice> first = readField(parts.first(), upper, error);
    if (!first) {
        notation.error = error;
        return notation;
    }
    (upper ? notation.hole : notation.shaft) = first;
    if (parts.size() == 2) {
        notation.shaft = readField(parts[1], false, error);
        if (!notation.shaft) {
            notation.hole.reset();
            notation.error = error;
        }
    }
    return notation;
}

} // namespace merilon::fits
