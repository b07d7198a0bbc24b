-- Plays the example scene "orbit" in a window, with the keyboard:
--   Space        pause and resume
--   Left, Right  wind back, wind forward (hold)
--   Return       back to the start
--   Escape       quit
-- Run it from the top of the repository:  build/tesk examples/scripts/orbit_player.lua
-- TESK_EXAMPLE_FRAMES=N stops it after N frames.

local frameLimit = tonumber(os.getenv("TESK_EXAMPLE_FRAMES"))

tk.Setup(1280, 720, 32, true)

-- The scene names its meshes relative to itself.
tk.SetDir("../scenes/orbit")
tk.SetLoadSceneCallback(function(percent)
  print(string.format("loading orbit.tscn: %d%%", percent))
end)

-- Scene 0 with its objects, lights and effects from ID 100 on, so that they
-- stay clear of the default light 0 that Setup made.
local scene = 0
tk.LoadScene("orbit.tscn", scene, 100, 100, 100, 100, 100, 1, 100, false, "orbit")
tk.ShowScene(scene)
tk.HideLight(0)
tk.FadeIn(800, 0x000000)

local length = tk.SceneAnimTimeEnd(scene)
local time, paused = 0, false
local last = tk.Timer()
local spaceHeld = false
local frames = 0

while tk.Run() and not tk.EscapeKey() do
  local now = tk.Timer()
  if not paused then time = time + (now - last) end
  last = now

  local space = tk.SpaceKey()
  if space and not spaceHeld then paused = not paused end
  spaceHeld = space
  if tk.LeftKey() then time = time - 40 end
  if tk.RightKey() then time = time + 40 end
  if tk.ReturnKey() then time = 0 end
  if length > 0 then time = time % length end

  tk.AnimateScene(scene, time)
  tk.Sync()

  frames = frames + 1
  if frameLimit and frames >= frameLimit then break end
end

tk.DeleteScene(scene)
tk.Term()
