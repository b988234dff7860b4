// Makes the active controls and the format label known by name to form
// descriptions.
#pragma once

void RegisterActiveControlClasses();
