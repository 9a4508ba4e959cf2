"""Runs the real Windows programs under a private 64-bit Wine prefix for the end-to-end tests."""
