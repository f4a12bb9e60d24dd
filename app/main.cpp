#include "application.h"
#include "exit_routine.h"
#include "start_program.h"

int main(int, char* argv[])
{
    const auto application = openApplication(argv[0]);
    const int exitCode = startProgram();
    runExitRoutine();
    return exitCode;
}
