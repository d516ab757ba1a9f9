#include "app/app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previousInstance, PWSTR, int showState) {
    return app::runProgram(instance, previousInstance, showState);
}
