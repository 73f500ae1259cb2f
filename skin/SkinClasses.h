#pragma once
// Makes the skin engine's classes known to the stored-layout loader by name.
// Called once at start-up after RegisterStandardClasses.
void RegisterSkinClasses();
