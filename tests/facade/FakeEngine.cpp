#include "FakeEngine.h"

namespace facadetest {

QList<Call> &lifecycle()
{
    static QList<Call> events;
    return events;
}

} // namespace facadetest
