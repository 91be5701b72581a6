#pragma once

#include <QToolButton>

// A tool button for a name that may be wider than the button: the name is drawn shortened in its
// middle (its start and its end stay), and pointing at the button shows it whole. text() always
// holds the whole name, so code that finds a button by its text keeps working.
class ElidingToolButton : public QToolButton
{
    Q_OBJECT
public:
    explicit ElidingToolButton(QWidget *parent = nullptr);

    // The text as the button draws it at its present size and font.
    QString shownText() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
