#include "FakeEngine.h"

namespace facadetest {

QList<Call> &lifecycle()
{
    static QList<Call> events;
    return events;
}

} // namespace facadetest

#ifdef FACADETEST_NO_ENGINE_LIBRARY
// Built without the engine library: the facade's default entry points exist
// but yield no engine. Tests install the fake engine instead.
extern "C" rj::engine::IAVEngine *createAVEngine()
{
    return nullptr;
}

extern "C" void deleteAVEngine(rj::engine::IAVEngine *engine)
{
    delete engine;
}
#endif
