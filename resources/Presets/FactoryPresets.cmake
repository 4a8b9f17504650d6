# The factory presets, in the order of the embedded archive (files in Factory/, extension .tlprs).
set(TELOMA_FACTORY_PRESETS
    "Bell Boom" "Dirty Cabinet" "PAD WARMER" "FOLD" "TURNAROUND" "WUB WUB WUB" "Thinner" "BUILD-UP"
    "CARBONNADE" "LIGHT CRUNCH" "HARD" "Two Bells" "AUTO-SYNTH" "SCRATCHY" "INTERFERENCES" "8BIT MAKER"
    "SPICE THAT PERC UP" "Crispy Destruction" "MENACE" "Chaotic Fold" "Warmer" "WAVES" "MOOD" "SOUDE"
    "Disto Rythm" "RUMBLE KICK 1" "ONLY THE TOP" "NOISY STEP" "ELECTRIC" "Scratch" "CLANG" "Noise Envelope"
    "Simple Wave" "RYTHMIC FILTER" "RUMBLE KICK 2" "HARMONICS WARMER" "LIGHT BITCRUSH")
