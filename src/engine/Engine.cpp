// Placeholder so the skeleton links; the engine's owner replaces it.
