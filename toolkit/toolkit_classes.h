// Makes the toolkit's classes known by name to form descriptions. Every
// toolkit form calls it before it reads its description; calling it again is
// harmless.
#pragma once

void RegisterToolkitClasses();
