-- The example scene "orbit" under full-screen camera effects taken from the
-- shader folders beside the program, with the keyboard:
--   1       sepia tones on and off (on at the start)
--   2       a warm colour grade on and off
--   Escape  quit
-- Effects run in the order they were switched on: with both shown, the one
-- switched on last grades the other's picture.
-- Run it from the top of the repository:  build/tesk examples/scripts/camera_effects.lua
-- TESK_EXAMPLE_FRAMES=N stops it after N frames.

local frameLimit = tonumber(os.getenv("TESK_EXAMPLE_FRAMES"))

tk.Setup(1280, 720, 32, true)

tk.SetDir("../scenes/orbit")
local scene = 0
tk.LoadScene("orbit.tscn", scene, 100, 100, 100, 100, 100, 1, 100, false, "orbit")
tk.ShowScene(scene)
tk.HideLight(0)

-- A camera effect compiled from its own file, and one that shares an effect
-- loaded first, so that the script can set its values.
local sepia, grade = 1, 2
tk.MakeCameraEffectFromFile(sepia, "Sepia.hlsl")
local warm = 10
tk.LoadEffect(tk.FilePathKnownLocation("Tint.hlsl"), warm)
tk.SetEffectConstantFloatN(warm, "Tint", 1.2, 0.95, 0.7, 1)
tk.MakeCameraEffect(grade, warm)

local shown = { [sepia] = false, [grade] = false }
local held = {}
local function toggle(id, key)
  local down = tk.KeyState(key)
  if down and not held[key] then
    shown[id] = not shown[id]
    if shown[id] then tk.ShowCameraEffect(id) else tk.HideCameraEffect(id) end
  end
  held[key] = down
end

local length = tk.SceneAnimTimeEnd(scene)
local start = tk.Timer()
local frames = 0
tk.ShowCameraEffect(sepia)
shown[sepia] = true

while tk.Run() and not tk.EscapeKey() do
  local time = tk.Timer() - start
  toggle(sepia, 49)  -- the 1 key
  toggle(grade, 50)  -- the 2 key
  tk.AnimateScene(scene, length > 0 and time % length or 0)
  tk.Sync()
  frames = frames + 1
  if frameLimit and frames >= frameLimit then break end
end

tk.DeleteCameraEffect(sepia)
tk.DeleteCameraEffect(grade)
tk.DeleteEffect(warm)
tk.DeleteScene(scene)
tk.Term()
