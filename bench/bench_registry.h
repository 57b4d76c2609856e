// SPDX-License-Identifier: MIT
#pragma once

namespace orvendel {

// Registers the search benchmarks: memchr/<image>, search/<image>/<signature>,
// reference/<image>/<signature>.
void registerSearchBenchmarks();

// Registers the patch run benchmarks on files in the page cache: readRun/<file>,
// writeRun/<file>, readFile/<file> (the whole file into a fresh image buffer),
// streamFile/<file> (read through a small reused buffer, as cat does), load/<file> and
// loadWithCopy/<file> (FileImage::load without and with the copy a writing run keeps), and
// lastLook/<file> and lastLookTimesOnly/<file> (stillAsRead with and without the bytes).
void registerPatchRunBenchmarks();

// Registers the Wine prefix search in a home folder whose libraryfolders.vdf names one library
// N times: prefixSearch/named/<N>.
void registerPrefixSearchBenchmarks();

// Registers the whole search for the game in a home folder with a copy in every kind of
// place: gameSearch/everyPlace.
void registerGameSearchBenchmarks();

}  // namespace orvendel
