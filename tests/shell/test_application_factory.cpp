#include "tests/shell/test_application.h"

#include <new>

ShellApplication* NewDemoApplication() {
    return new (std::nothrow) TestApplication;
}
