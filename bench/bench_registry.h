// SPDX-License-Identifier: MIT
#pragma once

namespace orvendel {

// Registers the search benchmarks: memchr/<image>, search/<image>/<signature>,
// reference/<image>/<signature>.
void registerSearchBenchmarks();

// Registers the patch run benchmarks on files in the page cache: readRun/<file>,
// writeRun/<file>, readFile/<file> (the whole file into a fresh image buffer) and
// streamFile/<file> (read through a small reused buffer, as cat does).
void registerPatchRunBenchmarks();

// Registers the Wine prefix search in a home folder whose libraryfolders.vdf names one library
// N times: prefixSearch/named/<N>.
void registerPrefixSearchBenchmarks();

}  // namespace orvendel
