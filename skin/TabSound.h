#pragma once
// What a tab's page does with sound, as its tab shows it.
enum class TTabSound {
    None,    // silent: no mark
    Playing, // a speaker with waves; a click mutes it
    Muted,   // a crossed speaker; a click gives the sound back
};
