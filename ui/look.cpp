// SPDX-License-Identifier: MIT
#include "ui/look.h"

#include "ui/controls.h"
#include "ui/speech.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QHash>
#include <QComboBox>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QStyleOptionButton>
#include <QTranslator>
#include <cmath>

namespace merilon::ui {

namespace {

// Draws with an equal palette seen before, so that Fusion's pixmap cache (keyed by the
// palette's cache key, new for every widget built afresh) finds its pictures again.
class InternedPaletteStyle final : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    void drawPrimitive(PrimitiveElement e, const QStyleOption *o, QPainter *p, const QWidget *w) const override
    {
        withInterned(o, [&](const QStyleOption *x) { QProxyStyle::drawPrimitive(e, x, p, w); });
    }
    void drawControl(ControlElement e, const QStyleOption *o, QPainter *p, const QWidget *w) const override
    {
        withInterned(o, [&](const QStyleOption *x) { QProxyStyle::drawControl(e, x, p, w); });
    }
    void drawComplexControl(ComplexControl c, const QStyleOptionComplex *o, QPainter *p,
                            const QWidget *w) const override
    {
        withInterned(o, [&](const QStyleOption *x) {
            QProxyStyle::drawComplexControl(c, static_cast<const QStyleOptionComplex *>(x), p, w);
        });
    }

private:
    const QPalette &intern(const QPalette &p) const
    {
        // Most palettes come again and again (each control's at each paint): their
        // interned one is remembered by their key, so that one paint costs no
        // comparison of whole palettes. Keys of palettes long gone are let go now
        // and then.
        if (const auto seen = m_byKey.constFind(p.cacheKey()); seen != m_byKey.cend())
            return m_known[*seen];
        if (m_byKey.size() > 4096)
            m_byKey.clear();
        qsizetype index = 0;
        while (index < m_known.size() && m_known[index] != p)
            ++index;
        if (index == m_known.size())
            m_known.append(p);
        m_byKey.insert(p.cacheKey(), index);
        return m_known[index];
    }
    template <typename Option, typename Draw>
    static bool with(const QStyleOption *o, const QPalette &p, Draw &draw)
    {
        if (const auto *typed = qstyleoption_cast<const Option *>(o)) {
            Option copy(*typed);
            copy.palette = p;
            draw(&copy);
            return true;
        }
        return false;
    }
    template <typename Draw>
    void withInterned(const QStyleOption *o, Draw draw) const
    {
        if (!o) {
            draw(o);
            return;
        }
        const QPalette &p = intern(o->palette);
        if (p.cacheKey() == o->palette.cacheKey() || !(with<QStyleOptionComboBox>(o, p, draw)
            || with<QStyleOptionButton>(o, p, draw) || with<QStyleOptionFrame>(o, p, draw)
            || with<QStyleOptionSlider>(o, p, draw) || with<QStyleOptionGroupBox>(o, p, draw)))
            draw(o);
    }
    mutable QList<QPalette> m_known;
    mutable QHash<qint64, qsizetype> m_byKey;
};
} // namespace

namespace {
// The family of the bundled face, once setUpApplication() has added it.
QString bundledFamily;
} // namespace

void setUpApplication()
{
    if (!bundledFamily.isEmpty())
        return;
    const int bold = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/LiberationSans-Bold.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/LiberationSans-Regular.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(bold);
    bundledFamily = families.isEmpty() ? QStringLiteral("Liberation Sans") : families.first();
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(new InternedPaletteStyle(fusion));
    QApplication::setFont(font(8, false));
    // Qt's own texts (the context menus of plain edit fields, the buttons of message
    // boxes) in Russian, whatever language the desktop speaks.
    auto *qtTexts = new QTranslator(QCoreApplication::instance());
    if (qtTexts->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);
    setUpControls();
    setUpSpeech();
}

QFont font(double points, bool bold, bool underline)
{
    // Sized in pixels, like the rest of the geometry, so that captions keep to their
    // boxes whatever the screen's logical dpi is.
    QFont f(bundledFamily.isEmpty() ? QStringLiteral("Liberation Sans") : bundledFamily);
    f.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    f.setBold(bold);
    f.setUnderline(underline);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QFont windowFont()
{
    return font(8.25, true);
}

void setColours(QWidget *widget, const std::optional<QColor> &text, const std::optional<QColor> &background)
{
    if (!text && !background)
        return;
    QPalette p = widget->palette();
    if (text) {
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            p.setColor(role, *text);
    }
    // Only the widget's own background role: the controls inside a window or a frame
    // keep their own colours.
    QPalette::ColorRole role = QPalette::Window;
    if (background) {
        if (qobject_cast<QAbstractButton *>(widget))
            role = QPalette::Button;
        else if (qobject_cast<QLineEdit *>(widget) || qobject_cast<QAbstractScrollArea *>(widget)
                 || qobject_cast<QComboBox *>(widget))
            role = QPalette::Base;
        p.setColor(role, *background);
    }
    // One palette change: each one is resolved and announced down the widget's children.
    widget->setPalette(p);
    if (background)
        widget->setAutoFillBackground(role == QPalette::Window);
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    setColours(widget, colour, std::nullopt);
}

void setBackground(QWidget *widget, const QColor &colour)
{
    setColours(widget, std::nullopt, colour);
}

QIcon windowIcon()
{
    static const QIcon icon = [] {
        QIcon i(QStringLiteral(":/images/icon.png"));
        i.addFile(QStringLiteral(":/images/icon_64.png"));
        return i;
    }();
    return icon;
}

} // namespace merilon::ui
