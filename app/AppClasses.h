#pragma once
// Registers every class the program's layouts name, from all layers.
void RegisterAppClasses();
