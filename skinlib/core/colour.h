#pragma once
// Placeholder until the skin library's colour core lands.
