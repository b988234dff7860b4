// Makes the framework's classes known by name to form descriptions.
// LoadForm calls it; a library of further classes registers its own the same
// way (RegisterComponentClass) before its forms are loaded.
#pragma once

void RegisterFrameworkClasses();
