// app/main.cpp: the program's entry: the one application object, then the framework's start-up
// and message loop.
#include "app/av_app.h"

int main(int argc, char* argv[])
{
    CAvApp app;
    return AfxWinMain(argc, argv);
}
