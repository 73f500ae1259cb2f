#pragma once
// Makes the framework's classes known to the stored-layout loader by name.
// Called once by the application before any layout is read; the skin and
// app layers have their own registration functions.
void RegisterStandardClasses();
// Each group of classes registers itself (ControlClasses.cpp, MenuClasses.cpp).
void RegisterControlClasses();
void RegisterMenuClasses();
void RegisterBrowserClasses();
