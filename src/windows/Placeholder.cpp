// Removed once the first window lands.
