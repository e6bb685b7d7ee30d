#pragma once
// One extractor per film site, in source number order.
#include "sources/extraction.h"

namespace quorvel {

void extractSource1(Extraction& run);
void extractSource2(Extraction& run);
void extractSource3(Extraction& run);
void extractSource4(Extraction& run);
void extractSource5(Extraction& run);
void extractSource6(Extraction& run);
void extractSource7(Extraction& run);
void extractSource8(Extraction& run);
void extractSource9(Extraction& run);

}  // namespace quorvel
