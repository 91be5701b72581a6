#include "shell/widgets/dialogbuttonicons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QWidget>

namespace {

// Stands for the icon `style` gives `which`, and asks for it on first use.
class LookedUpOnUse : public QIconEngine
{
public:
    LookedUpOnUse(const QStyle *style, QStyle::StandardPixmap which, const QWidget *widget)
        : m_style(const_cast<QStyle *>(style)), m_which(which),
          m_widget(const_cast<QWidget *>(widget))
    {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    // The program draws icons at one pixel per pixel (no high-resolution pixmaps), so the sizes
    // asked here are the sizes the icon itself is asked for.
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QIconEngine *clone() const override { return new LookedUpOnUse(*this); }
    QString key() const override { return QStringLiteral("LookedUpOnUse"); }

    void virtual_hook(int id, void *data) override
    {
        switch (id) {
        case QIconEngine::IsNullHook:
            // The style always has an OK and a Cancel icon: its own pictures when the theme
            // has none.
            *static_cast<bool *>(data) = false;
            break;
        case QIconEngine::AvailableSizesHook: {
            auto &argument = *static_cast<QIconEngine::AvailableSizesArgument *>(data);
            argument.sizes = icon().availableSizes(argument.mode, argument.state);
            break;
        }
        case QIconEngine::IconNameHook:
            *static_cast<QString *>(data) = icon().name();
            break;
        default:
            QIconEngine::virtual_hook(id, data);
        }
    }

private:
    const QIcon &icon()
    {
        if (!m_looked) {
            m_looked = true;
            if (m_style)
                m_icon = m_style->standardIcon(m_which, nullptr, m_widget);
        }
        return m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    QPointer<QWidget> m_widget;
    bool m_looked = false;
    QIcon m_icon;
};

} // namespace

DialogButtonIcons::DialogButtonIcons(QStyle *base) : QProxyStyle(base) {}

QIcon DialogButtonIcons::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                      const QWidget *widget) const
{
    if ((icon == SP_DialogOkButton || icon == SP_DialogCancelButton) && !option)
        return QIcon(new LookedUpOnUse(baseStyle(), icon, widget));
    return QProxyStyle::standardIcon(icon, option, widget);
}

void DialogButtonIcons::install(QApplication &app)
{
    // Asking for the style makes the one the application chooses and, with it, the system
    // palette from the platform's theme; the new style then keeps that palette.
    const QString chosen = app.style()->objectName();
    if (QStyle *base = QStyleFactory::create(chosen))
        QApplication::setStyle(new DialogButtonIcons(base));
}
