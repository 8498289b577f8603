"""Drives the real game through the accessibility bus, as a screen reader does."""
