#include "display.h"

#include <QtGlobal>
#include <cstdio>

bool displayMissing(const char* japaneseName, const char* program, const char* path)
{
    const bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platformChosen || x11 || wayland)
        return false;
    std::fprintf(stderr,
                 "%s: 画面（ディスプレイ）が見つかりません。デスクトップの中で起動してください。\n"
                 "%s: no display found. Start it from a desktop session, or without a screen:\n"
                 "  xvfb-run -a <installation folder>/%s\n",
                 japaneseName, program, path);
    return true;
}
