# The factory presets, in the order of the embedded archive (files in Factory/, extension .tlprs).
set(TELOMA_FACTORY_PRESETS)
