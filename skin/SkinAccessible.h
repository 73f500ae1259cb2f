#pragma once
// Tells the framework's accessible tree about the skinned controls whose
// parts it cannot see: the page control's tabs, the title bar's buttons
// and the skinned buttons.
void RegisterSkinAccessibility();
