#include "app/app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previousInstance, PWSTR arguments,
                    int showState) {
    return app::runProgram(instance, previousInstance, arguments, showState);
}
