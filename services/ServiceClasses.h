#pragma once
// Makes the services' components known to the stored-layout loader.
void RegisterServiceClasses();
