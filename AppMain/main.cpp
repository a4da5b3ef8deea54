#include "AppMain/AppFactory.h"

#include <wx/init.h>

int main(int argc, char** argv)
{
    Vantrel::EnsureApplicationFactoryIsLinked();
    return wxEntry(argc, argv);
}
