#include "shell/widgets/myprogressbar.h"

#include <algorithm>

namespace {
// More stages than percent steps would only add stages of zero width.
constexpr int MaxStages = 100;
constexpr int CatchUpIntervalMs = 5;
} // namespace

MyProgressBar::MyProgressBar(QWidget *parent)
    : QProgressBar(parent), m_creepTimer(new QTimer(this)), m_catchUpTimer(new QTimer(this))
{
    setOrientation(Qt::Horizontal);
    setMinimum(0);
    setMaximum(100);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    mSetValue(0);
    connect(m_creepTimer, &QTimer::timeout, this, &MyProgressBar::creep);
    connect(m_catchUpTimer, &QTimer::timeout, this, &MyProgressBar::catchUp);
}

void MyProgressBar::mSetValue(int value)
{
    setValue(value);
    const int range = maximum() - minimum();
    const double percent = range > 0 ? (this->value() - minimum()) * 100.0 / range : 0.0;
    setFormat(QStringLiteral("%1%").arg(percent, 0, 'f', 1));
}

void MyProgressBar::mSetStages(int n)
{
    // The list always describes one run from 0 to 100; stops of an earlier run would make the
    // stage walk meaningless.
    n = std::min(n, MaxStages);
    m_stops.clear();
    m_stops.append(0);
    for (int i = 0; i <= n - 2; ++i)
        m_stops.append(m_stops.at(i) + 100 / n);
    m_stops.append(100);
}

void MyProgressBar::mStart(int n, int interval)
{
    m_stage = 0;
    mSetValue(0);
    mSetStages(n);
    m_creepTimer->start(interval);
}

void MyProgressBar::mUpdate()
{
    if (m_stops.size() < 2 || m_stage >= m_stops.size() - 1)
        return;
    ++m_stage;
    m_catchUpTimer->start(CatchUpIntervalMs);
    if (m_stops.at(m_stage) == m_stops.last())
        m_creepTimer->stop();
}

void MyProgressBar::creep()
{
    if (m_stage + 1 >= m_stops.size())
        return;
    if (value() <= m_stops.at(m_stage + 1) - 2)
        mSetValue(value() + 1);
}

void MyProgressBar::catchUp()
{
    if (m_stage < m_stops.size() && value() < m_stops.at(m_stage))
        mSetValue(value() + 1);
    else
        m_catchUpTimer->stop();
}
