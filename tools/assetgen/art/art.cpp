#include "asset_sink.h"

void generateArt(AssetSink&) {}
void previewArt(const std::string&) {}
