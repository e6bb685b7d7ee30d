#include "sources/extractors.h"

namespace quorvel {

// Not composed yet: the run ends at once with its final status.
void extractSource4(Extraction& run) { run.finish(); }

}  // namespace quorvel
