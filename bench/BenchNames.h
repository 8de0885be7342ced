#pragma once

// Names with umlauts, "ß" and accents, so that the German order has work to do.
inline const char* const kBenchSurnames[] = {
    "Müller", "Schröder", "Weiß",   "Bäcker", "Köhler", "Jäger",  "Lüdtke", "Öztürk",
    "Groß",   "Meier",    "Schulz", "Ährens", "Überle", "Straße", "Zöller", "Abel"};
inline const char* const kBenchFirstNames[] = {"Jürgen",  "Björn", "Sören", "Anna",
                                               "Günther", "Éva",   "Max"};
