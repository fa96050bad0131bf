#pragma once
// The fixed orders in which the runtime's libraries are started and stopped.
void RuntimeStart();
void RuntimeStop();
