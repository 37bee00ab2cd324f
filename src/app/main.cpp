#include "app/AppStartup.h"
#include "app/CSingleApplication.h"

int main(int argc, char *argv[])
{
    rj_app::startup::prepare(argc, argv);
    rj_app::CSingleApplication app(argc, argv, rj_app::CSingleApplication::userInstanceKey());
    if (!rj_app::startup::start(app, argc, argv))
        return 0;
    return rj_app::startup::run(app);
}
