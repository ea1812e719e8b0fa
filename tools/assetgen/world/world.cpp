#include "asset_sink.h"

void generateWorld(AssetSink&) {}
void previewWorld(const std::string&) {}
