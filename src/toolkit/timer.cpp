#include "toolkit/controls.h"

#include "toolkit/form.h"

#include <QTimer>

namespace tk {

Timer::Timer(Form& form, const ControlDef& def, QWidget* parent)
    : ControlOf(form, def), interval_(def.interval), timerEnabled_(def.enabled)
{
    timer_ = new QTimer(parent);
    timer_->setObjectName(name_);
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { fire(); });
    enabled_ = true;
    restart();
}

Timer::~Timer()
{
    if (timer_)
        timer_->stop();
}

void Timer::setInterval(int milliseconds)
{
    if (milliseconds < 0 || milliseconds > 65535)
        throw RuntimeError::invalidPropertyValue();
    interval_ = milliseconds;
    restart();
}

void Timer::setTimerEnabled(bool enabled)
{
    timerEnabled_ = enabled;
    restart();
}

bool Timer::isRunning() const
{
    return timer_ && timer_->isActive();
}

void Timer::restart()
{
    if (!timer_)
        return;
    if (timerEnabled_ && interval_ > 0)
        timer_->start(interval_);
    else
        timer_->stop();
}

void Timer::fire()
{
    if (onTimer)
        form_.dispatch(onTimer);
}

} // namespace tk
